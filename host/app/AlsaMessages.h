#pragma once
// alsa-lib reports every device it fails to open on standard error; the host says what matters
// once, in its own words, with this handler installed (snd_lib_error_set_handler).
void DropAlsaMessage(const char* file, int line, const char* function, int error, const char* format, ...);
