// The version of the programs as their version resources give it; the
// running program reads it from there.
#pragma once

#define KORVALIN_VERSION_NUMBERS 1, 2, 1, 0
#define KORVALIN_VERSION_TEXT "1.2.1.0"
#define KORVALIN_COMPANY "Korvalin"
#define KORVALIN_COPYRIGHT "Copyright (C) 2026 die Korvalin-Entwickler"
