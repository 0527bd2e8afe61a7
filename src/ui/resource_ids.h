#pragma once

// Resource identifiers, shared by the resource script and the code. Only
// preprocessor definitions: the resource compiler reads this file too.
#define QUILLMERE_ICON 1
