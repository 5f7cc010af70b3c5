"""End-to-end tests of the settings file and the table list."""

TESTS = []
