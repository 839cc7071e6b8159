// The tests' one way of filling Form1Options.
#include "test_form.h"

namespace brindora::testing {

Form1Options testOptions(RandomSource* random, std::function<void()> quit,
                         const QString& programDir) {
    Form1Options options;
    options.random = random;
    options.quit = std::move(quit);
    options.programDir = programDir;
    return options;
}

} // namespace brindora::testing
