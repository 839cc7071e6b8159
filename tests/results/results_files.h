// Folders and files the results tests make and look into.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace brindora::testing {

// A new empty folder under the system's temporary folder, removed with all it holds.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const auto path =
                std::filesystem::temp_directory_path() / ("brindora-" + std::to_string(random()));
            if (std::filesystem::create_directory(path))
                m_path = path.u8string();
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const {
        return (std::filesystem::u8path(m_path) / std::filesystem::u8path(name)).u8string();
    }

private:
    std::string m_path;
};

inline std::string fileText(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::u8path(path).parent_path());
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << text;
}

// Every file below dir, as paths relative to it, in order.
inline std::vector<std::string> filesBelow(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::filesystem::u8path(dir)))
        out.push_back(std::filesystem::relative(entry.path(), std::filesystem::u8path(dir))
                          .generic_u8string());
    std::sort(out.begin(), out.end());
    return out;
}

// A game file's first two lines, as the game writes them.
inline const std::string kFileStart =
    "\xEF\xBB\xBF"
    "Brindora;formato 1\r\nData e ora;PC;Alunno;Richiesta;Stato chiesto;"
    "Stato cliccato;Testo della regione;Esito;Secondi dalla richiesta\r\n";

// Four games of three pupils, one cut in the middle of a row, and files that are no games.
inline void makeClassFolder(const TempFolder& dir) {
    writeText(
        dir / "20250310-090000_pc1_Anna.csv",
        kFileStart +
            "2025-03-10 09:00:05;pc1;Anna;1;Romania;Bulgaria;Questa è la Bulgaria;sbagliato;2,0\r\n"
            "2025-03-10 09:00:09;pc1;Anna;1;Romania;Romania;;giusto;6,1\r\n"
            "2025-03-10 09:00:20;pc1;Anna;2;Francia;Francia;;giusto;3,0\r\n"
            "2025-03-10 09:00:30;pc1;Anna;3;Bulgaria;Romania;Questa è la Romania;sbagliato;1,5\r\n"
            "2025-03-10 09:01:00;pc1;Anna;3;;;;fine: EXIT;\r\n");
    writeText(dir / "20250312-100000_pc2_anna.csv",
              kFileStart + "2025-03-12 10:00:05;pc2;anna ;1;Francia;Francia;;giusto;2,0\r\n"
                           "2025-03-12 10:00:20;pc2;anna ;2;Romania;Romania;;giusto;4,0\r\n");
    writeText(dir / "20250311-110000_pc3_script.csv",
              kFileStart +
                  "2025-03-11 11:00:05;pc3;\"<script>alert(1)</script> & \"\"Bo\"\"\";1;Romania;"
                  "Ungheria;Questa è l'Ungheria;sbagliato;1,0\r\n"
                  "2025-03-11 11:00:07;pc3;\"<script>alert(1)</script> & \"\"Bo\"\"\";1;Romania;"
                  "Bulgaria;Questa è la Bulgaria;sbagliato;3,0\r\n"
                  "2025-03-11 11:00:09;pc3;\"<script>alert(1)</script> & \"\"Bo\"\"\";1;Romania;"
                  "Romania;;giusto;5,0\r\n"
                  "2025-03-11 11:00:30;pc3;\"<script>alert(1)</script> & \"\"Bo\"\"\";1;;;;"
                  "fine: 20 errori;\r\n");
    writeText(dir / "20250313-120000_pc4_Luca.csv",
              kFileStart + "2025-03-13 12:00:30;pc4;'=Luca;1;Bulgaria;Bulgaria;;giusto;9,0\r\n"
                           "2025-03-13 12:01:00;pc4;'=Luca;2;Roma");
    writeText(dir / "notes.csv", "nome;voto\r\nAnna;8\r\n");
    writeText(dir / "20250314-000000_pc5_cut.csv", kFileStart.substr(0, 15));
    writeText(dir / "20250314-000001_pc6_new.CSV", "\xEF\xBB\xBF"
                                                   "Brindora;formato 2\r\nData;Chi\r\n");
    writeText(dir / "20250314-000002_pc7_empty.csv", "");
    writeText(dir / "compiti.txt", "not a game, and not read");
    writeText(dir / "riepilogo.html", "an old summary");
}

} // namespace brindora::testing
