#pragma once

#include <ostream>
#include <streambuf>
#include <string>

// Puts a standard stream into the user's character set for its lifetime: the program's UTF-8
// texts are converted as they are flushed, as the line's text was decoded from that set.
class LocaleOutput : public std::streambuf
{
public:
    explicit LocaleOutput(std::ostream &stream);
    ~LocaleOutput() override; // flushes, and gives the stream its own buffer back
    LocaleOutput(const LocaleOutput &) = delete;
    LocaleOutput &operator=(const LocaleOutput &) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char *s, std::streamsize n) override;
    int sync() override;

private:
    std::ostream &m_stream;
    std::streambuf *m_target; // the stream's own buffer
    std::string m_pending;    // written, not yet converted
};
