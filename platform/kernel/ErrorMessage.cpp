#include "platform/kernel/ErrorMessage.h"

#include "platform/kernel/LastError.h"

namespace win {

std::string ErrorMessage(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS: return "the operation completed successfully";
        case ERROR_FILE_NOT_FOUND: return "the system cannot find the file specified";
        case ERROR_PATH_NOT_FOUND: return "the system cannot find the path specified";
        case ERROR_TOO_MANY_OPEN_FILES: return "the system cannot open the file (too many open files)";
        case ERROR_ACCESS_DENIED: return "access is denied";
        case ERROR_INVALID_HANDLE: return "the handle is invalid";
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return "not enough memory is available";
        case ERROR_INVALID_DATA: return "the data is invalid";
        case ERROR_WRITE_FAULT: return "the system cannot write to the specified device";
        case ERROR_READ_FAULT: return "the system cannot read from the specified device";
        case ERROR_LOCK_VIOLATION: return "the process cannot access the file because another process has locked it";
        case ERROR_INVALID_PARAMETER: return "the parameter is incorrect";
        case ERROR_OPEN_FAILED: return "the system cannot open the device or file specified";
        case ERROR_DISK_FULL: return "there is not enough space on the disk";
        case ERROR_BAD_PATHNAME: return "the specified path is invalid";
        case ERROR_ALREADY_EXISTS: return "the file already exists";
        case ERROR_FILE_TOO_LARGE: return "the file is larger than the limit allowed";
        case ERROR_BADDB: return "the configuration registry database is corrupt";
        case ERROR_CANTOPEN: return "the configuration registry key could not be opened";
        case ERROR_CANTREAD: return "the configuration registry key could not be read";
        case ERROR_CANTWRITE: return "the configuration registry key could not be written";
        case ERROR_CANT_RESOLVE_FILENAME: return "the name of the file cannot be resolved by the system";
        default: return "error " + std::to_string(error);
    }
}

}  // namespace win
