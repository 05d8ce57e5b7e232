#include "tests/brevane/database/builder/builder-test.h"
