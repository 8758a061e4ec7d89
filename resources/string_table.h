#pragma once

#include <string_view>

namespace resources {

// Ids of the editor's string table.
enum StringId : int {
    IDS_OLE_INIT_FAILED = 100,
    IDS_FILE_READ_FAILED = 400,
    IDS_QUIT_GAME_TO_START = 401,
    IDS_INIT_INSTANCE_FAILED = 402,
    IDS_DISPLAY_TOO_SMALL = 403,
    IDS_LOADING_DATA = 406,
    IDS_REGISTER_GUIDE = 407,
    IDS_BMP_COMPRESSED = 408,
    IDS_BMP_UNSUPPORTED = 409,
    IDS_BMP_COLOURS = 410,
    IDS_JPEG_HEADER_FAILED = 411,
    IDS_JPEG_DECODE_FAILED = 412,
    IDS_GENERAL_NOT_FOUND = 413,
    IDS_REGISTERED_GUIDE = 414,
    IDS_INITIALIZE_QUESTION = 416,
    IDS_DONT_SHOW_SAVE_AS = 417,
    IDS_EXIT_UNSAVED_QUESTION = 418,
    IDS_QUIT_GAME_FIRST = 421,
    IDS_INITIALIZING = 422,
    IDS_EXIT_GAME_RUNNING_QUESTION = 423,
    IDS_SAVE_FAILED = 426,
    IDS_SAVED = 427,
    IDS_GAME_NOT_INSTALLED = 428,
    IDS_FACE_DATA_NOT_FOUND = 429,
    IDS_PROMPT_LOAD_IMAGE = 32782,
    IDS_PROMPT_CHANGE_IMAGE = 32783,
    IDS_PROMPT_INITIALIZE = 32784,
    IDS_PROMPT_SEARCH = 32787,
    IDS_PROMPT_UNDO = 57643,
    IDS_PROMPT_REDO = 57644,
    IDS_OVERWRITE_QUESTION = 430,  // %1 face number, %2 generals, %3 the saved ones' line
    IDS_OVERWRITE_SAVED_USERS = 431,
    IDS_NO_GENERAL_USES_FACE = 432,
    IDS_UNASSIGNED_SLOT = 433,
    IDS_PROMPT_SAVE = 57603,  // the framework's standard prompts of its own commands
    IDS_PROMPT_ABOUT = 57664,
    IDS_PROMPT_EXIT = 57665,
    IDS_READY = 57345,
};

// The text of a string id, or an empty view for an id the table does not hold.
std::wstring_view LoadString(int id);

}  // namespace resources
