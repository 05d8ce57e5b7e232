// A small host program standing in for the desktop application.
#include <cstdio>

#include "brevane/brevane.h"

int main(int argc, char** argv) {
  std::printf("tarvex example host\n");
  return 0;
}
