#include "brevane/helpers/service_helper.h"

#include "brevane/foundation/services.h"
#include "common/tarvex-fundamental-private.h"

struct _TarvexBrevaneHelpersServiceHelperPrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersServiceHelper,
                               tarvex_brevane_helpers_service_helper, tarvex_brevane_helpers,
                               service_helper, TARVEX_BREVANE_HELPERS_TYPE_SERVICE_HELPER)

TarvexBrevaneHelpersServiceHelper* tarvex_brevane_helpers_service_helper_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneHelpersServiceHelper*>(tarvex::fundamental::create(object_type));
}

TarvexBrevaneHelpersServiceHelper* tarvex_brevane_helpers_service_helper_new(void) {
  return tarvex_brevane_helpers_service_helper_construct(
      TARVEX_BREVANE_HELPERS_TYPE_SERVICE_HELPER);
}

TarvexBrevaneContractsSettingUserSetting* tarvex_brevane_helpers_service_helper_setting(void) {
  return static_cast<TarvexBrevaneContractsSettingUserSetting*>(
      tarvex_brevane_foundation_services_get(TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_USER_SETTING));
}

TarvexProvidersContractsServerSetting* tarvex_brevane_helpers_service_helper_servers(void) {
  return static_cast<TarvexProvidersContractsServerSetting*>(
      tarvex_brevane_foundation_services_get(TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_SETTING));
}

TarvexBrevaneContractsCryptoISymmetricCipher* tarvex_brevane_helpers_service_helper_cipher(void) {
  return static_cast<TarvexBrevaneContractsCryptoISymmetricCipher*>(
      tarvex_brevane_foundation_services_get(
          TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER));
}

TarvexBrevaneContractsCryptoIAsymmetricCipher* tarvex_brevane_helpers_service_helper_pubkey(void) {
  return static_cast<TarvexBrevaneContractsCryptoIAsymmetricCipher*>(
      tarvex_brevane_foundation_services_get(
          TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER));
}
