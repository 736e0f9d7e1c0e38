/* A loadable library that exports neither DllRegisterServer nor
 * ZQKCreateControl. */
#define ZQK_EXPORT __attribute__((visibility("default")))

ZQK_EXPORT int zqk_noentry_marker(void) {
  return 1;
}
