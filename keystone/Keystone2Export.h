#pragma once

#if defined(_WIN32)
#if defined(KEYSTONE2_BUILDING)
#define KEYSTONE2_EXPORT __declspec(dllexport)
#else
#define KEYSTONE2_EXPORT __declspec(dllimport)
#endif
#else
#define KEYSTONE2_EXPORT __attribute__((visibility("default")))
#endif
