"""End-to-end tests of one instance and the hand-over from a second start."""

TESTS = []
