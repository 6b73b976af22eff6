// The framework's non-window classes: objects and run-time classes, strings,
// exceptions, files, archives and collections.
#pragma once

#include "framework/fwdefs.h"
#include "framework/fwstate.h"
#include "framework/runtime.h"
#include "framework/cstring.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/sharedfile.h"
#include "framework/archive.h"
#include "framework/coll.h"
#include "framework/collections.h"
