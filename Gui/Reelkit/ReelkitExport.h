#pragma once

#include <QtGlobal>

#if defined(REELKIT_LIBRARY)
#define REELKIT_EXPORT Q_DECL_EXPORT
#else
#define REELKIT_EXPORT Q_DECL_IMPORT
#endif
