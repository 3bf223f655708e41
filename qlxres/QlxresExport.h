#pragma once

#if defined(_WIN32)
#if defined(QLXRES_BUILDING)
#define QLXRES_EXPORT __declspec(dllexport)
#else
#define QLXRES_EXPORT __declspec(dllimport)
#endif
#else
#define QLXRES_EXPORT __attribute__((visibility("default")))
#endif
