#pragma once
// Result of an API call: a code plus a success flag, as every Maya function returns.

#include <iosfwd>

class MString;

class MStatus {
public:
    enum MStatusCode {
        kSuccess = 0,
        kFailure,
        kInsufficientMemory,
        kInvalidParameter,
        kLicenseFailure,
        kUnknownParameter,
        kNotImplemented,
        kNotFound,
        kEndOfFile
    };

    MStatus() = default;
    MStatus(MStatusCode code);
    MStatus(const MStatus&) = default;
    MStatus& operator=(const MStatus&) = default;

    bool operator==(const MStatus& other) const { return code_ == other.code_; }
    bool operator==(const MStatusCode code) const { return code_ == code; }
    bool operator!=(const MStatus& other) const { return code_ != other.code_; }
    bool operator!=(const MStatusCode code) const { return code_ != code; }
    friend bool operator==(const MStatusCode code, const MStatus& status) {
        return status.code_ == code;
    }
    friend bool operator!=(const MStatusCode code, const MStatus& status) {
        return status.code_ != code;
    }

    bool error() const { return code_ != kSuccess; }
    void clear() { code_ = kSuccess; }
    MStatusCode statusCode() const { return code_; }
    MString errorString() const;
    void perror(const char* preString) const;
    void perror(const MString& preString) const;
    operator bool() const { return code_ == kSuccess; }
    void set(bool status, unsigned char statusCode, unsigned char internalStatusCode);
    void setSuccess() { code_ = kSuccess; }

    friend std::ostream& operator<<(std::ostream& out, MStatus& status);

private:
    MStatusCode code_ = kSuccess;
};

typedef MStatus MS;

#define MCHECKERROR(STAT, MSG)    \
    if (MS::kSuccess != (STAT)) { \
        (STAT).perror(MSG);       \
        return (STAT);            \
    }

#define CHECK_MSTATUS_AND_RETURN(_status, _retVal) \
    {                                              \
        MStatus _maya_status = (_status);          \
        if (MStatus::kSuccess != _maya_status) {   \
            _maya_status.perror(__FILE__);         \
            return (_retVal);                      \
        }                                          \
    }

#define CHECK_MSTATUS_AND_RETURN_IT(_status) CHECK_MSTATUS_AND_RETURN((_status), (_status))

#define CHECK_MSTATUS(_status)                   \
    {                                            \
        MStatus _maya_status = (_status);        \
        if (MStatus::kSuccess != _maya_status) { \
            _maya_status.perror(__FILE__);       \
        }                                        \
    }

#define MFAIL(_status) ((_status) != MStatus::kSuccess)
