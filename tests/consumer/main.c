/* SPDX-License-Identifier: MIT */
#include <rollwright.h>
#include <stdio.h>

int main(void) {
  char buffer[ROLLWRIGHT_REPLY_CAPACITY] = "3d6 skill 12 sword";
  int32_t result = DiceMain(0, 0, buffer, 0, 0, 0);
  printf("%d %s\n", (int)result, buffer);
  return 0;
}
