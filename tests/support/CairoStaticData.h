#pragma once
// Test programs that draw text end by giving back cairo's and fontconfig's
// process-wide caches (fonts, patterns), so the leak checker of the
// sanitizer build sees only what the program itself kept. Include in every
// test source that draws; the environment registers once per program.

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

class CairoStaticDataRelease : public ::testing::Environment
{
public:
    void TearDown() override
    {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

inline ::testing::Environment* const kCairoStaticDataRelease =
    ::testing::AddGlobalTestEnvironment(new CairoStaticDataRelease);
