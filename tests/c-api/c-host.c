/* The public headers used from plain C, as a C host would. */
#include "brevane/brevane.h"
#include <stdio.h>
int main(void) {
  TarvexProvidersContractsValueObject* v = tarvex_providers_contracts_ivalue_factory(TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "42");
  gchar* t = tarvex_providers_contracts_value_object_to_string(v);
  int ok = g_strcmp0(G_OBJECT_TYPE_NAME(v), "TarvexProvidersContractsValueInt32") == 0 && g_strcmp0(t, "42") == 0;
  printf("%s %s\n", G_OBJECT_TYPE_NAME(v), t);
  g_free(t); g_object_unref(v);
  return ok ? 0 : 1;
}
