#pragma once
// Every program embeds its version as a marker that the build generates: this prefix, the
// version "<major>.<minor>.<release>.<build>" in decimal (each part at most 65535) and a NUL.
// The version reader looks for it in a program's file.

#define VANTORELL_VERSION_MARKER_PREFIX "@(#)Vantorell file version "
