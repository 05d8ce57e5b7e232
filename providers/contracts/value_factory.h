// The factory of IValue: a new value of a given kind made from a text, as
// the table model asks for the defaults of a new row.
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

// A new value for `data_type` read from `text`, or the kind's default when
// `text` is absent. Never fails: unparsable numbers read as what their
// parser gets (often 0). Some kinds come back as another class (an XML
// value for the kinds without a text form of their own, a date-time for
// TIMESTAMP, the plain base value for OBJECT).
TARVEX_EXPORT TarvexProvidersContractsValueObject* tarvex_providers_contracts_ivalue_factory(
    TarvexProvidersContractsDataType data_type, const gchar* text);

G_END_DECLS
