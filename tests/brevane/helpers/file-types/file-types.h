// The test's own file-type tables, compiled in and registered on demand.
#pragma once

#include <gio/gio.h>

G_BEGIN_DECLS
void fw2_types_main_register_resource(void);
void fw2_types_empty_register_resource(void);
void fw2_types_array_register_resource(void);
void fw2_types_no_bytes_register_resource(void);
G_END_DECLS

namespace tarvex::test {

// Registers the main table and loads the file-type helper once; true when
// loading rejected the negative-offset signature with its warning.
bool ensure_file_types();

}  // namespace tarvex::test
