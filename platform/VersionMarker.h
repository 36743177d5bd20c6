#pragma once
// Stand-in for a program file's version resource: every program embeds its version as this
// prefix followed by "<major>.<minor>.<release>.<build>" and a NUL, so a reader of the file
// finds it by the prefix. The build gives the version text.

#define VANTORELL_VERSION_MARKER_PREFIX "VantorellVersionMarker:"
