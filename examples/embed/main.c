/* Prints the length and the Adler-32 checksum of each embedded file. */
#include "assets.h"

#include <stdio.h>

static unsigned long adler32(const unsigned char* data, unsigned int size) {
    unsigned long a = 1, b = 0;
    for (unsigned int i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

int main(void) {
    printf("logo.tim %u %08lx\n", logo_tim_size, adler32(logo_tim, logo_tim_size));
    printf("cube.tmd %u %08lx\n", cube_tmd_size, adler32(cube_tmd, cube_tmd_size));
    return 0;
}
