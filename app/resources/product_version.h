// The product's version: the programs' version resources, and the value that the installer
// writes as InstallVersion and that start-up expects to find. Plain macros, so that the
// resource compiler reads them too.
#pragma once

#define TQ_VERSION_TEXT "1.0.01"
#define TQ_VERSION_NUMBERS 1, 0, 0, 1
