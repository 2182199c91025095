// Paragraph layout of formatted lines, with the fake metrics.
#include <gtest/gtest.h>
