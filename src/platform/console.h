#pragma once
// The standard streams of a command-line run.

namespace platform {

// Makes standard output and error (std::cout, std::cerr) ready for a command's text,
// UTF-8, before any file is opened:
// - A program without a console of its own (a windowed Windows program started from
//   cmd, a script or a service) gets its parent's console where the streams are not
//   already redirected, so its output and exit status reach the caller.
// - A stream the caller closed (">&-") stays one that refuses every write, rather than
//   leaving its number free for the next file opened, which would then receive the
//   command's output; a write to it fails as it would have, and the command says so.
// - On Windows a console is written UTF-16, so every text shows whatever its code page;
//   a file or a pipe gets the console's code page bytes. Elsewhere UTF-8 is the text.
void PrepareStandardStreams();

}  // namespace platform
