#pragma once

#if defined(VANTORDICTATION4_LIBRARY)
#define VD4_EXPORT __attribute__((visibility("default")))
#else
#define VD4_EXPORT
#endif
