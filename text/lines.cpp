#include "text/lines.h"

#include "text/cp1251.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

StringList splitLines(const std::string& text) {
    StringList lines;
    std::string current;
    bool pending = false; // a line has started (text seen after the last line end)
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending) lines.push_back(current);
    return lines;
}

std::string decodeFileText(const std::string& bytes) {
    if (hasNonAscii(bytes) && isValidUtf8(bytes)) {
        std::string body = bytes;
        if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.erase(0, 3);
        return utf8ToCp1251(body);
    }
    return bytes;
}

std::string readFileBytes(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw FileError(path + ": " + std::strerror(errno));
    std::string bytes;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    bool failed = std::ferror(f);
    int err = errno;
    std::fclose(f);
    if (failed) throw FileError(path + ": " + std::strerror(err));
    return bytes;
}

StringList readLineFile(const std::string& path) {
    std::string bytes = readFileBytes(path);
    try {
        return splitLines(decodeFileText(bytes));
    } catch (const EncodingError& e) {
        throw FileError(path + ": " + e.what());
    }
}

std::string joinLinesCrLf(const StringList& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    std::string tmp = path + ".tmp-XXXXXX";
    std::vector<char> name(tmp.begin(), tmp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) throw FileError(path + ": " + std::strerror(errno));
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(name.data());
        throw FileError(path + ": " + std::strerror(err));
    };
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail(errno);
    // mkstemp creates the file 0600; give it the usual permissions of a new file.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(name.data());
        throw FileError(path + ": " + std::strerror(err));
    }
    if (std::rename(name.data(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(name.data());
        throw FileError(path + ": " + std::strerror(err));
    }
}

void writeLineFile(const std::string& path, const StringList& lines) {
    writeFileAtomically(path, joinLinesCrLf(lines));
}

} // namespace qm
