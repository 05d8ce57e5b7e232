// Public umbrella header of libfenrow.
#pragma once

#include "providers/contracts/contracts.h"
#include "providers/sqlserver/sqlserver.h"
