/* Prints the ANSI code page Windows programs see: 936 in a prefix made under
   a zh_CN.UTF-8 locale. */
#include <stdio.h>
#include <windows.h>

int main(void) {
  printf("%u\n", GetACP());
  return 0;
}
