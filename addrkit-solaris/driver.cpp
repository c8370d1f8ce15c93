// The second build's test driver: converts one fixed address through the
// library and prints the answer or the error text.
#include <cstdio>

#include "procedures.h"

int main() {
    char result[4000], error[4000];
    int resultind = 0, errorind = 0;
    if (C_ConvertIP("192.168.1.10", "CONVERTLIP", result, sizeof result, &resultind, error, sizeof error, &errorind))
        std::printf("Error text %s\n", error);
    else
        std::printf("Addressouttab %s\n", result);
    return 0;
}
