// The command's output on a file descriptor (standard output), buffered here so that a
// write that fails is known, with its reason, when the command ends.
#pragma once

#include <array>
#include <streambuf>

namespace quarn::cli {

class DescriptorOutput final : public std::streambuf {
public:
    // A descriptor that is not open fails the first write as a closed one does.
    explicit DescriptorOutput(int descriptor);
    ~DescriptorOutput() override;
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    // The errno of the first write that failed; 0 while none has.
    int failure() const { return failed; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    int fd;
    int failed = 0;
    // Large enough that a long table leaves in few writes.
    std::array<char, 1 << 16> buffer{};
};

}  // namespace quarn::cli
