// Look-ups over the state catalogue.
#include "catalogo.h"

namespace brindora {

const StateRow* lookupState(long long number) {
    for (const StateRow& row : catalogo) {
        if (row.number == number)
            return &row;
    }
    return nullptr;
}

std::array<std::string_view, kStateCount + 2> soundFiles() {
    std::array<std::string_view, kStateCount + 2> files{};
    files[0] = kAnthemFile;
    files[1] = kPraiseFile;
    for (std::size_t i = 0; i < catalogo.size(); ++i)
        files[i + 2] = catalogo[i].soundFile;
    return files;
}

} // namespace brindora
