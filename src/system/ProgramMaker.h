// Who made a program: product name, description and company from its version
// resource, in the resource's first translation. Reading a file's resource
// costs a disk read, so a cache keeps each file's answer for as long as it
// lives, and callers ask only for the entries they show.
#pragma once
#include <map>
#include <string>

struct ProgramMaker {
    bool found = false;  // the file has a version resource with any of the three
    std::string product;
    std::string description;
    std::string company;
};

// The file's version resource read now (UTF-8 texts); found false for a file
// without one, or one that cannot be read.
ProgramMaker ReadProgramMaker(const std::string& file);

class ProgramMakerCache {
public:
    // The answer for the file, read on the first question about it (files
    // differing only in case are one).
    const ProgramMaker& Of(const std::string& file);
    size_t FilesRead() const { return makers_.size(); }

private:
    std::map<std::string, ProgramMaker> makers_;
};

// One line for the details and the printout: "product (description), company",
// leaving out what the resource lacks and a description that repeats the product.
std::string ProgramMakerLine(const ProgramMaker& maker);
