// Public umbrella header of libbrevane.
#pragma once

#include "providers/fenrow.h"
