// Painting formatted documents, with the fake metrics and the recording canvas.
#include <gtest/gtest.h>
