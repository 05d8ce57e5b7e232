#include "brevane/contracts/thread_progress.h"

#include "common/tarvex-fundamental-private.h"

struct _TarvexBrevaneContractsThreadProgressPrivate {};

namespace {

void setup(TarvexBrevaneContractsThreadProgress* self) {
  self->messages = g_queue_new();
}

void teardown(TarvexBrevaneContractsThreadProgress* self) {
  if (self->messages) g_queue_free_full(self->messages, g_free);
  self->messages = nullptr;
}

}  // namespace

TARVEX_DEFINE_FUNDAMENTAL_TYPE_WITH_HOOKS(TarvexBrevaneContractsThreadProgress,
                                          tarvex_brevane_contracts_thread_progress,
                                          tarvex_brevane_contracts, thread_progress,
                                          TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS, setup,
                                          teardown)

TarvexBrevaneContractsThreadProgress* tarvex_brevane_contracts_thread_progress_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneContractsThreadProgress*>(
      tarvex::fundamental::create(object_type));
}

TarvexBrevaneContractsThreadProgress* tarvex_brevane_contracts_thread_progress_new(void) {
  return tarvex_brevane_contracts_thread_progress_construct(
      TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS);
}
