/* The public headers used from plain C, as a C host would. */
#include <stdio.h>
#include "brevane/brevane.h"

/* The declared types give C hosts their cast and check functions and
   g_autoptr, objects and reference-counted helpers alike. */
static int declared_types(void) {
  g_autoptr(TarvexProvidersContractsValueObject) v =
      tarvex_providers_contracts_ivalue_factory(TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "7");
  g_autoptr(TarvexBrevaneHelpersStringHelper) h = tarvex_brevane_helpers_string_helper_new();
  int ok = TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_INT32(v) &&
           TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_OBJECT(TARVEX_PROVIDERS_CONTRACTS_VALUE_OBJECT(v)) &&
           !TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_STRING(v) &&
           TARVEX_PROVIDERS_CONTRACTS_VALUE_OBJECT_GET_CLASS(v)->to_string != NULL &&
           G_TYPE_CHECK_INSTANCE_TYPE(h, TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER);
  printf("declared types: %s\n", ok ? "ok" : "FAILED");
  return ok;
}

int main(void) {
  TarvexProvidersContractsValueObject* v =
      tarvex_providers_contracts_ivalue_factory(TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "42");
  gchar* t = tarvex_providers_contracts_value_object_to_string(v);
  int ok = g_strcmp0(G_OBJECT_TYPE_NAME(v), "TarvexProvidersContractsValueInt32") == 0 &&
           g_strcmp0(t, "42") == 0;
  printf("%s %s\n", G_OBJECT_TYPE_NAME(v), t);
  g_free(t);
  g_object_unref(v);
  ok = declared_types() && ok;
  return ok ? 0 : 1;
}
