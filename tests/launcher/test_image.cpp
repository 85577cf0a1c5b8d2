// The test launchers' program image: text the test runtimes print back.
extern "C" {
unsigned char lanyinbao_image[] = "launcher test image";
}
