// sqlrun OUTPUT.db FILE.sql...
// Builds a fresh SQLite database from SQL files: every statement of every file runs
// in one transaction, in the order given; the first failing statement stops the run
// with "file:line: message" and leaves OUTPUT untouched. The database is written
// beside OUTPUT under a temporary name and renamed over it only after the commit.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string &path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

int lineOf(const std::string &text, size_t offset)
{
    int line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n')
            ++line;
    return line;
}

// Offset of the first character that is neither blank nor part of a comment.
size_t skipBlanksAndComments(const std::string &text, size_t pos)
{
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
        } else if (text.compare(pos, 2, "--") == 0) {
            const size_t end = text.find('\n', pos);
            pos = end == std::string::npos ? text.size() : end + 1;
        } else if (text.compare(pos, 2, "/*") == 0) {
            const size_t end = text.find("*/", pos + 2);
            pos = end == std::string::npos ? text.size() : end + 2;
        } else {
            break;
        }
    }
    return pos;
}

bool runFile(sqlite3 *db, const std::string &path)
{
    std::string text;
    if (!readFile(path, text)) {
        std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
        return false;
    }
    const char *base = text.c_str();
    const char *rest = base;
    while (*rest) {
        const size_t start = skipBlanksAndComments(text, size_t(rest - base));
        sqlite3_stmt *stmt = nullptr;
        const char *tail = nullptr;
        if (sqlite3_prepare_v2(db, rest, -1, &stmt, &tail) != SQLITE_OK) {
            std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), lineOf(text, start), sqlite3_errmsg(db));
            return false;
        }
        rest = tail;
        if (!stmt)
            continue; // only blanks or comments were left
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), lineOf(text, start), sqlite3_errmsg(db));
            sqlite3_finalize(stmt);
            return false;
        }
        sqlite3_finalize(stmt);
    }
    return true;
}

bool exec(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, message ? message : "error");
        sqlite3_free(message);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.db FILE.sql...\n", argv[0]);
        return 2;
    }
    const std::string output = argv[1];
    const std::string temporary = output + ".tmp";
    std::remove(temporary.c_str());

    sqlite3 *db = nullptr;
    if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", temporary.c_str(), db ? sqlite3_errmsg(db) : "cannot be created");
        sqlite3_close(db);
        return 1;
    }
    bool ok = exec(db, "PRAGMA foreign_keys=ON") && exec(db, "BEGIN");
    for (int i = 2; ok && i < argc; ++i)
        ok = runFile(db, argv[i]);
    ok = ok && exec(db, "COMMIT");
    if (!ok)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (sqlite3_close(db) != SQLITE_OK)
        ok = false;
    if (!ok) {
        std::remove(temporary.c_str());
        return 1;
    }
    if (std::rename(temporary.c_str(), output.c_str()) != 0) {
        std::perror(output.c_str());
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
