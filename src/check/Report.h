#ifndef VORN_CHECK_REPORT_H
#define VORN_CHECK_REPORT_H

#include <ostream>
#include <string>
#include <vector>

// Where a problem stands: a file, and in it a section, a key and a line where there is one.
struct Place {
    std::string file;
    std::string section; // "" for none; "(global)" style naming is the printer's business
    std::string key;
    int line = 0; // 0: the problem has no single line
};

enum class Severity { Warning, Error };

// One problem found in the data: what is wrong, what the game will do with it, how to fix it.
struct Problem {
    Severity severity;
    Place place;
    std::string what;
    std::string game;
    std::string fix;
    // Texts the game shows for this problem while loading; the check against the real loader
    // uses them to tell an explained message from an unexplained one.
    std::vector<std::string> gameMessages;
};

class Report {
  public:
    Problem& error(const Place& where, const std::string& what, const std::string& game,
                   const std::string& fix);
    Problem& warning(const Place& where, const std::string& what, const std::string& game,
                     const std::string& fix);

    const std::vector<Problem>& getProblems() const { return problems; }
    int getErrorCount() const;
    int getWarningCount() const;
    // "1 error, 3 warnings": the counts in words.
    std::string getCountText() const;
    // Whether some problem already explains this message of the game.
    bool explains(const std::string& message) const;

    // One problem per paragraph: "file:line: error: [section] key: what", then the game's
    // behaviour and the fix, and a closing count. Files are written with dataFolder in place of
    // their leading data/, so they open from where the checker was run ("/tmp/set/" say).
    void writeText(std::ostream& out, const std::string& dataFolder = "data/") const;
    void writeJson(std::ostream& out, const std::string& dataFolder = "data/") const;

  private:
    Problem& add(Severity s, const Place& where, const std::string& what, const std::string& game,
                 const std::string& fix);
    std::vector<Problem> problems;
};

#endif
