#include "platform/JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

namespace {

// libjpeg's default error handler ends the program; this one jumps back to the decoder.
struct TJumpingErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Back;
    char Message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void JumpBack(j_common_ptr Info) {
    auto* Errors = reinterpret_cast<TJumpingErrors*>(Info->err);
    Info->err->format_message(Info, Errors->Message);
    std::longjmp(Errors->Back, 1);
}

// Warnings (level -1) mean corrupt or missing data: treated as errors. Trace messages are dropped.
void OnMessage(j_common_ptr Info, int Level) {
    if (Level < 0)
        JumpBack(Info);
}

// Everything with a destructor lives outside the function that calls setjmp.
bool DecodeInto(const unsigned char* Data, std::size_t Size, TRgbPicture& Picture,
                TJumpingErrors& Errors) {
    jpeg_decompress_struct Info{};
    Info.err = jpeg_std_error(&Errors.Manager);
    Errors.Manager.error_exit = JumpBack;
    Errors.Manager.emit_message = OnMessage;
    if (setjmp(Errors.Back)) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&Info, TRUE);
    Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&Info);
    Picture.Width = static_cast<int>(Info.output_width);
    Picture.Height = static_cast<int>(Info.output_height);
    const std::size_t RowBytes = static_cast<std::size_t>(Picture.Width) * 3;
    Picture.Pixels.resize(RowBytes * Picture.Height);
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Row = Picture.Pixels.data() + RowBytes * Info.output_scanline;
        jpeg_read_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    return true;
}

} // namespace

std::optional<TRgbPicture> DecodeJpeg(const unsigned char* Data, std::size_t Size,
                                      std::string* Error) {
    if (!Data || Size == 0) {
        if (Error)
            *Error = "Keine Bilddaten.";
        return std::nullopt;
    }
    TRgbPicture Picture;
    TJumpingErrors Errors;
    if (!DecodeInto(Data, Size, Picture, Errors)) {
        if (Error)
            *Error = Errors.Message;
        return std::nullopt;
    }
    return Picture;
}
