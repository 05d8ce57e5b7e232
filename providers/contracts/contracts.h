// Provider contracts: values, result models, server descriptions, enumerations.
#pragma once

#include "providers/contracts/data_type.h"
#include "providers/contracts/value_object.h"
#include "providers/contracts/value_null.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_numeric.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_enum.h"
#include "providers/contracts/value_string.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_geometry.h"
#include "providers/contracts/value_factory.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/server.h"
#include "providers/contracts/server_setting.h"
