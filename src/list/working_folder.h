#pragma once

#include "text/ansi_text.h"

// The folder whose entries the rows name: empty at start-up, replaced whole by
// Open and by a drop, never validated. It may or may not end in "\".
const AnsiText& WorkingFolder();
void SetWorkingFolder(AnsiText folder);

// Exit routine: releases the working folder's text.
void ReleaseWorkingFolder();
