#include <maya/MStatus.h>

#include <iostream>

#include <maya/MString.h>

namespace {

const char* textOf(MStatus::MStatusCode code) {
    switch (code) {
        case MStatus::kSuccess:
            return "";
        case MStatus::kFailure:
            return "(kFailure): Unexpected Internal Failure";
        case MStatus::kInsufficientMemory:
            return "(kInsufficientMemory): Insufficient memory";
        case MStatus::kInvalidParameter:
            return "(kInvalidParameter): Object is incompatible with this method";
        case MStatus::kLicenseFailure:
            return "(kLicenseFailure): License failure";
        case MStatus::kUnknownParameter:
            return "(kUnknownParameter): Unknown parameter";
        case MStatus::kNotImplemented:
            return "(kNotImplemented): Method is not implemented";
        case MStatus::kNotFound:
            return "(kNotFound): Object not found";
        case MStatus::kEndOfFile:
            return "(kEndOfFile): End of file";
    }
    return "(kFailure): Unexpected Internal Failure";
}

}  // namespace

MStatus::MStatus(MStatusCode code) : code_(code) {}

MString MStatus::errorString() const {
    return MString(textOf(code_));
}

void MStatus::perror(const char* preString) const {
    std::cerr << (preString ? preString : "") << ": " << textOf(code_) << std::endl;
}

void MStatus::perror(const MString& preString) const {
    perror(preString.asChar());
}

void MStatus::set(bool status, unsigned char statusCode, unsigned char) {
    if (status) {
        code_ = kSuccess;
        return;
    }
    code_ = statusCode > kSuccess && statusCode <= kEndOfFile ? static_cast<MStatusCode>(statusCode)
                                                              : kFailure;
}

std::ostream& operator<<(std::ostream& out, MStatus& status) {
    return out << textOf(status.code_);
}
