// sqlrun OUTPUT.db FILE.sql...
// sqlrun --into EXISTING.db FILE.sql...
// Builds a fresh SQLite database from SQL files: every statement of every file runs
// in one transaction, in the order given; the first failing statement stops the run
// with "file:line: message" and leaves OUTPUT untouched. The database is written
// beside OUTPUT under a temporary name and renamed over it only after the commit.
// With --into the files run in one transaction on a database that exists (a test
// filling the main database), which a failure leaves as it was.
//
// The program's collations are registered, as on every connection of the program: an
// index sorted by one of them can neither be created nor written without it.
#include "spanishcollation.h"

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
    const bool into = argc > 1 && std::string(argv[1]) == "--into";
    const int first = into ? 2 : 1;
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.db FILE.sql...\n       %s --into EXISTING.db FILE.sql...\n", argv[0], argv[0]);
        return 2;
    }
    const std::string output = argv[first];
    const std::string temporary = into ? output : output + ".tmp";
    if (!into)
        std::remove(temporary.c_str());

    sqlite3 *db = nullptr;
    const int flags = into ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(temporary.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", temporary.c_str(), db ? sqlite3_errmsg(db) : "cannot be opened");
        sqlite3_close(db);
        return 1;
    }
    bool ok = registerSpanishCollation(db);
    if (!ok)
        std::fprintf(stderr, "%s: the collation %s cannot be registered\n", temporary.c_str(), kSpanishCollation);
    ok = ok && exec(db, "PRAGMA foreign_keys=ON") && exec(db, "BEGIN");
    for (int i = first + 1; ok && i < argc; ++i)
        ok = runFile(db, argv[i]);
    ok = ok && exec(db, "COMMIT");
    if (!ok)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (sqlite3_close(db) != SQLITE_OK)
        ok = false;
    if (into)
        return ok ? 0 : 1;
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
