// Export marker for the public C API (the libraries build with
// -fvisibility=hidden). Safe to include from C.
#pragma once

#ifndef TARVEX_EXPORT
#define TARVEX_EXPORT __attribute__((visibility("default")))
#endif
