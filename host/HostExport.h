#pragma once

#include <QtGlobal>

#if defined(REELKIT_HOST_LIBRARY)
#define REELKIT_HOST_EXPORT Q_DECL_EXPORT
#else
#define REELKIT_HOST_EXPORT Q_DECL_IMPORT
#endif
