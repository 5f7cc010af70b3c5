// The program's own exception family: failures that are reported to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace korvalin {

class EKorvalin : public std::runtime_error {
public:
    explicit EKorvalin(std::u16string message);
    const std::u16string& Message() const noexcept { return FMessage; }

private:
    std::u16string FMessage;
};

// The text to show for an error: the program's own message, or the
// standard library's text of a foreign exception.
std::u16string ErrorMessage(const std::exception& error);

}  // namespace korvalin
