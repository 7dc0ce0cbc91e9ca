// Quoting of a path for the archiver's command line.
#pragma once

// Encloses the text in double quotes when it holds a single-byte blank. The
// work area is 256 bytes, so a blanked text may be at most 253 bytes; a longer
// one is left as it is and false is returned. buffer must have room for two more bytes.
bool QuoteIfSpaced(char* text);
