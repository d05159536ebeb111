#include "scale_length.h"

int ScaleLength(int length, int dpi) {
    const long long product = (long long)length * dpi;
    return (int)((product + (product < 0 ? -48 : 48)) / 96);
}
