#include "platform/kernel/MulDiv.h"

#include <climits>
#include <cstdint>

namespace win {

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    // |INT_MIN * INT_MIN| is 2^62, so the product and its magnitude fit in 64 bits.
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t divisor = denominator;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    std::int64_t magnitude = product < 0 ? -product : product;
    std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    std::int64_t result = product < 0 ? -quotient : quotient;
    if (result > INT_MAX || result < INT_MIN) return -1;
    return static_cast<int>(result);
}

}  // namespace win
