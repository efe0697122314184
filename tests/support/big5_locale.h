#pragma once
// Double-byte rules follow the locale's codeset, which a process looks up once. A test
// that needs code page 950's Big5 starts with
//
//   if (!testing_support::UnderBig5Locale()) return;
//
// On posix, in the test's own process this generates a Chinese (Taiwan) Big5 locale, runs
// the same test again in a child process under it and reports the child's result here,
// then returns false; in the child it returns true and the test goes on. On Windows it
// returns true: the process runs in the code page it was started with.
namespace testing_support {

bool UnderBig5Locale();

}  // namespace testing_support
