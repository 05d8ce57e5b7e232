// IJsonSerializer: turns an object's writable properties into the members of
// a JSON object and back, property by property. The interface supplies both
// operations, so an implementing class need not write any.
#pragma once

#include <glib-object.h>
#include <json-glib/json-glib.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsSerializationIJsonSerializer
    TarvexBrevaneContractsSerializationIJsonSerializer;
typedef struct _TarvexBrevaneContractsSerializationIJsonSerializerIface
    TarvexBrevaneContractsSerializationIJsonSerializerIface;

struct _TarvexBrevaneContractsSerializationIJsonSerializerIface {
  GTypeInterface parent_iface;
  void (*serialize)(TarvexBrevaneContractsSerializationIJsonSerializer* self, JsonBuilder* builder,
                    GObject* object);
  void (*deserialize)(TarvexBrevaneContractsSerializationIJsonSerializer* self,
                      JsonObject* json_object, GObject* object);
};

#define TARVEX_BREVANE_CONTRACTS_SERIALIZATION_TYPE_IJSON_SERIALIZER \
  (tarvex_brevane_contracts_serialization_ijson_serializer_get_type())

TARVEX_EXPORT GType tarvex_brevane_contracts_serialization_ijson_serializer_get_type(void)
    G_GNUC_CONST;

// Adds one member per writable property of `object` to the JSON object the
// caller has open on `builder` (the caller opens and closes it).
TARVEX_EXPORT void tarvex_brevane_contracts_serialization_ijson_serializer_serialize(
    TarvexBrevaneContractsSerializationIJsonSerializer* self, JsonBuilder* builder,
    GObject* object);
// Sets the writable properties of `object` named by the members of
// `json_object` ("-" and "_" alike); other members are ignored.
TARVEX_EXPORT void tarvex_brevane_contracts_serialization_ijson_serializer_deserialize(
    TarvexBrevaneContractsSerializationIJsonSerializer* self, JsonObject* json_object,
    GObject* object);

G_END_DECLS
