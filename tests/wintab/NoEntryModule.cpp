// A loadable library without the Wintab entry: the applet must treat it as no driver.
extern "C" __attribute__((visibility("default"))) int KelvoNotTheEntry() {
  return 0;
}
