// Provider contracts: values, result models, server descriptions, enumerations.
#pragma once
