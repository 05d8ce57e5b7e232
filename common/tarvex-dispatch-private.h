// Forwarding between the exported functions of an overridable operation and
// the slots of class and interface structures, written once.
//
// - call_slot<&TarvexFooClass::bar>(self, args...) is the whole body of the
//   exported function of a class or interface operation: it checks that
//   self is a TarvexFoo (a critical "self != NULL" naming the exported
//   function otherwise) and calls the slot of self's class (or interface)
//   structure. A failed check or an empty slot gives R() (NULL, 0, FALSE,
//   nothing), or the value given after the slot:
//   call_slot<&TarvexFooClass::count, -1>(self).
// - call_slot_if_implemented<&TarvexIFooIface::bar, -1>(self, args...) is
//   the same for an interface operation that any object may be asked: only
//   a NULL self is reported (the critical "self != NULL", giving R()); an
//   object without the interface, like an empty slot, gives the value after
//   the slot without a word.
// - forward<&tarvex_foo_bar> fills an interface slot of a class that
//   implements the interface by its own exported functions: it takes the
//   interface instance as the class and calls the function. The slot's
//   signature is deduced from the slot it is assigned to.
//
// Adding an operation then touches the structure, the header (with the
// one-line exported function) and the default only. Example, an operation
// `bar` of the class Foo that also answers the interface IBaz:
//
//   gchar* tarvex_foo_bar(TarvexFoo* self, const gchar* name) {
//     return tarvex::call_slot<&TarvexFooClass::bar>(self, name);
//   }
//   static void tarvex_foo_ibaz_init(TarvexIBazIface* iface) {
//     iface->bar = tarvex::forward<&tarvex_foo_bar>;
//   }
//
// The templates find a type's GType through tarvex::TypeOf, which
// TARVEX_DEFINE_TYPE* and TARVEX_DEFINE_INTERFACE declare. Everything here
// is internal: inline templates of hidden visibility, never exported.
//
// Not installed, not part of the API.
#pragma once

#include <glib-object.h>

#include <source_location>
#include <type_traits>

#include "common/tarvex-gobject-private.h"

namespace tarvex {

namespace dispatch_detail {

// No value given after the slot: the fallback is R().
struct NoFallback {};

// The instance handed to call_slot, with the name of the exported function
// it was given to (so the critical names that function, as
// g_return_val_if_fail would there).
template <typename Instance>
struct Caller {
  Instance* self;
  const char* function;
  Caller(Instance* instance, std::source_location where = std::source_location::current())
      : self(instance), function(where.function_name()) {}
};

template <typename Member>
struct Slot;

// A slot: a function pointer member `R (*name)(Instance*, Args...)` of a
// class or interface structure.
template <typename Struct, typename R, typename Instance, typename... Args>
struct Slot<R (*Struct::*)(Instance*, Args...)> {
  template <auto fallback>
  static R none() {
    if constexpr (std::is_same_v<std::remove_cv_t<decltype(fallback)>, NoFallback>)
      return R();
    else
      return R(fallback);
  }

  static Struct* vtable(Instance* self) {
    auto* klass = reinterpret_cast<GTypeInstance*>(self)->g_class;
    if constexpr (TypeOf<Instance>::is_interface)
      return static_cast<Struct*>(g_type_interface_peek(klass, TypeOf<Instance>::get()));
    else
      return reinterpret_cast<Struct*>(klass);
  }

  template <R (*Struct::*slot)(Instance*, Args...), auto fallback>
  static R call(Caller<Instance> caller, Args... args) {
    Instance* self = caller.self;
    if (G_UNLIKELY(!G_TYPE_CHECK_INSTANCE_TYPE(self, TypeOf<Instance>::get()))) {
      g_return_if_fail_warning(G_LOG_DOMAIN, caller.function, "self != NULL");
      return none<fallback>();
    }
    return invoke<slot, fallback>(vtable(self), self, args...);
  }

  template <R (*Struct::*slot)(Instance*, Args...), auto fallback>
  static R call_if_implemented(Caller<Instance> caller, Args... args) {
    static_assert(TypeOf<Instance>::is_interface, "only an interface may be left unimplemented");
    Instance* self = caller.self;
    if (G_UNLIKELY(!self)) {
      g_return_if_fail_warning(G_LOG_DOMAIN, caller.function, "self != NULL");
      return R();
    }
    return invoke<slot, fallback>(vtable(self), self, args...);
  }

 private:
  // The slot of `table` (an interface the object lacks gives no table), or
  // the fallback when there is none.
  template <R (*Struct::*slot)(Instance*, Args...), auto fallback>
  static R invoke(Struct* table, Instance* self, Args... args) {
    auto fn = table ? table->*slot : nullptr;
    if (!fn) return none<fallback>();
    return fn(self, args...);
  }
};

// An exported function `R fn(Self*, Args...)` seen as an interface slot
// `R (*)(Interface*, Args...)` for any interface.
template <auto fn, typename Fn = decltype(fn)>
struct Forward;

template <auto fn, typename R, typename Self, typename... Args>
struct Forward<fn, R (*)(Self*, Args...)> {
  template <typename Interface>
  static R call(Interface* self, Args... args) {
    return fn(reinterpret_cast<Self*>(self), args...);
  }
  template <typename Interface>
  using Target = R (*)(Interface*, Args...);
  template <typename Interface>
  constexpr operator Target<Interface>() const {
    return &call<Interface>;
  }
};

}  // namespace dispatch_detail

template <auto slot, auto fallback = dispatch_detail::NoFallback{}>
inline constexpr auto call_slot =
    &dispatch_detail::Slot<decltype(slot)>::template call<slot, fallback>;

template <auto slot, auto fallback = dispatch_detail::NoFallback{}>
inline constexpr auto call_slot_if_implemented =
    &dispatch_detail::Slot<decltype(slot)>::template call_if_implemented<slot, fallback>;

template <auto fn>
inline constexpr dispatch_detail::Forward<fn> forward{};

}  // namespace tarvex
