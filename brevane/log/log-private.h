// Shared pieces of the log handlers and formatters.
//
// Not installed, not part of the API.
#pragma once

#include <glib-object.h>
#include <stdarg.h>

#include <string>

#include "brevane/contracts/iformatter.h"
#include "brevane/contracts/ilog_handler.h"
#include "common/tarvex-gobject-private.h"

namespace tarvex::brevane::log {

using Level = TarvexBrevaneContractsLogLogLevel;
using Formatter = TarvexBrevaneContractsLogIFormatter;

// A server or logger name placed inside a printf format line prints as
// itself: its "%" are doubled.
inline std::string escape_percent(const char* text) {
  std::string out;
  for (const char* p = text; *p; p++) {
    out += *p;
    if (*p == '%') out += '%';
  }
  return out;
}

// Expands a format line with a copy of the caller's arguments.
inline std::string expand(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  GUniqueStr text(g_strdup_vprintf(format, copy));
#pragma GCC diagnostic pop
  va_end(copy);
  return text ? std::string(text.get()) : std::string();
}

struct HandlerSettings {
  GRef<Formatter> formatter;
  Level threshold;

  explicit HandlerSettings(Level initial, Formatter* adopted_formatter)
      : formatter(adoptGRef(adopted_formatter)), threshold(initial) {}

  // Each setter stores the value and notifies only on a change.
  void set_formatter(GObject* owner, GParamSpec* pspec, Formatter* value) {
    if (formatter.get() == value) return;
    formatter = retainGRef(value);
    g_object_notify_by_pspec(owner, pspec);
  }
  void set_threshold(GObject* owner, GParamSpec* pspec, Level value) {
    if (threshold == value) return;
    threshold = value;
    g_object_notify_by_pspec(owner, pspec);
  }
  // A line of level L is written when L <= threshold.
  bool accepts(Level level) const { return level <= threshold; }
};

// The plumbing every handler shares: the "formatter" and "threshold"
// accessors of the handler interface and the GObject property handlers.
// `priv_of` finds the handler's private struct, which holds `settings`.
// Each handler class instantiates it once, so each has its own property table.
template <auto priv_of>
struct HandlerPlumbing {
  // The "formatter" and "threshold" properties every handler has.
  enum { PROP_0, PROP_FORMATTER, PROP_THRESHOLD, N_PROPERTIES };
  static inline GParamSpec* properties[N_PROPERTIES];

  static Formatter* get_formatter(TarvexBrevaneContractsLogILogHandler* self) {
    return priv_of(self)->settings.formatter.get();
  }
  static void set_formatter(TarvexBrevaneContractsLogILogHandler* self, Formatter* value) {
    priv_of(self)->settings.set_formatter(G_OBJECT(self), properties[PROP_FORMATTER], value);
  }
  static Level get_threshold(TarvexBrevaneContractsLogILogHandler* self) {
    return priv_of(self)->settings.threshold;
  }
  static void set_threshold(TarvexBrevaneContractsLogILogHandler* self, Level value) {
    priv_of(self)->settings.set_threshold(G_OBJECT(self), properties[PROP_THRESHOLD], value);
  }

  static void get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
    HandlerSettings& s = priv_of(object)->settings;
    switch (id) {
      case PROP_FORMATTER:
        g_value_set_object(value, s.formatter.get());
        break;
      case PROP_THRESHOLD:
        g_value_set_enum(value, s.threshold);
        break;
      default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
    }
  }
  static void set_property(GObject* object, guint id, const GValue* value, GParamSpec* pspec) {
    HandlerSettings& s = priv_of(object)->settings;
    switch (id) {
      case PROP_FORMATTER:
        s.set_formatter(object, properties[id], static_cast<Formatter*>(g_value_get_object(value)));
        break;
      case PROP_THRESHOLD:
        s.set_threshold(object, properties[id], Level(g_value_get_enum(value)));
        break;
      default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
    }
  }

  // Fills the formatter and threshold slots of the handler interface.
  static void wire(TarvexBrevaneContractsLogILogHandlerIface* iface) {
    iface->get_formatter = get_formatter;
    iface->set_formatter = set_formatter;
    iface->get_threshold = get_threshold;
    iface->set_threshold = set_threshold;
  }

  // Sets the property handlers and installs "formatter" and "threshold".
  static void install(GObjectClass* klass, Level default_threshold) {
    klass->get_property = get_property;
    klass->set_property = set_property;
    const auto flags = GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);
    properties[PROP_FORMATTER] = g_param_spec_object(
        "formatter", "formatter", "formatter", TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER, flags);
    properties[PROP_THRESHOLD] =
        g_param_spec_enum("threshold", "threshold", "threshold",
                          TARVEX_BREVANE_CONTRACTS_LOG_TYPE_LOG_LEVEL, default_threshold, flags);
    g_object_class_install_properties(klass, N_PROPERTIES, properties);
  }
};

}  // namespace tarvex::brevane::log
