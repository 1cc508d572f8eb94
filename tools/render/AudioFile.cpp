#include "AudioFile.h"

#include <cctype>

namespace zelrender {
namespace {

std::string lowerExtension(const std::string& path) {
  size_t slash = path.rfind('/');
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string containerName(int format) {
  switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
      return "WAV";
    case SF_FORMAT_WAVEX:
      return "WAV";
    case SF_FORMAT_AIFF:
      return "AIFF";
    case SF_FORMAT_FLAC:
      return "FLAC";
    default:
      break;
  }
  SF_FORMAT_INFO info{};
  info.format = format & SF_FORMAT_TYPEMASK;
  if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name != nullptr) {
    return info.name;
  }
  return "audio";
}

std::string subtypeName(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
      return "8-bit";
    case SF_FORMAT_PCM_16:
      return "16-bit";
    case SF_FORMAT_PCM_24:
      return "24-bit";
    case SF_FORMAT_PCM_32:
      return "32-bit";
    case SF_FORMAT_FLOAT:
      return "32-bit float";
    case SF_FORMAT_DOUBLE:
      return "64-bit float";
    default:
      break;
  }
  SF_FORMAT_INFO info{};
  info.format = format & SF_FORMAT_SUBMASK;
  if (sf_command(nullptr, SFC_GET_FORMAT_SUBTYPE, &info, sizeof info) == 0 &&
      info.name != nullptr) {
    return info.name;
  }
  return "encoded";
}

bool formatWorks(int format) {
  SF_INFO info{};
  info.samplerate = 48000;
  info.channels = 2;
  info.format = format;
  return sf_format_check(&info) != 0;
}

}  // namespace

AudioReader::~AudioReader() {
  if (file_ != nullptr) sf_close(file_);
}

Status AudioReader::open(const std::string& path) {
  info_ = SF_INFO{};
  file_ = sf_open(path.c_str(), SFM_READ, &info_);
  if (file_ == nullptr) {
    return Status::fail(ExitCode::input, "cannot read input " + path + ": " + sf_strerror(nullptr));
  }
  if (info_.channels < 1 || info_.channels > 2) {
    return Status::fail(ExitCode::input, "input " + path + " has " +
                                             std::to_string(info_.channels) +
                                             " channels; only mono and stereo files are supported");
  }
  if (info_.samplerate <= 0) {
    return Status::fail(ExitCode::input, "input " + path + " has no valid sample rate");
  }
  return {};
}

int64_t AudioReader::read(float* interleaved, int64_t count) {
  sf_count_t n = sf_readf_float(file_, interleaved, count);
  // Only a short read can mean an error; it is otherwise the end of the file.
  return n < count && sf_error(file_) != SF_ERR_NO_ERROR ? -1 : n;
}

int64_t AudioReader::read(double* interleaved, int64_t count) {
  sf_count_t n = sf_readf_double(file_, interleaved, count);
  // Only a short read can mean an error; it is otherwise the end of the file.
  return n < count && sf_error(file_) != SF_ERR_NO_ERROR ? -1 : n;
}

int containerFromPath(const std::string& path) {
  std::string ext = lowerExtension(path);
  if (ext == "wav") return SF_FORMAT_WAV;
  if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF;
  if (ext == "flac") return SF_FORMAT_FLAC;
  return 0;
}

Status chooseOutputFormat(const std::string& path, int inputFormat, SampleFormat requested,
                          int& format, std::string& note) {
  note.clear();
  int container = containerFromPath(path);
  if (container == 0) {
    return Status::fail(ExitCode::usage, "cannot tell the output format from \"" + path +
                                             "\": use a .wav, .aif, .aiff or .flac name");
  }
  int subtype = SF_FORMAT_PCM_24;
  switch (requested) {
    case SampleFormat::pcm16:
      subtype = SF_FORMAT_PCM_16;
      break;
    case SampleFormat::pcm24:
      subtype = SF_FORMAT_PCM_24;
      break;
    case SampleFormat::float32:
      subtype = SF_FORMAT_FLOAT;
      break;
    case SampleFormat::keep:
      if (inputFormat != 0) subtype = inputFormat & SF_FORMAT_SUBMASK;
      break;
  }
  format = container | subtype;
  if (formatWorks(format)) return {};
  if (requested != SampleFormat::keep) {
    return Status::fail(ExitCode::usage, containerName(container) + " files cannot hold " +
                                             subtypeName(subtype) + " samples");
  }
  format = container | SF_FORMAT_PCM_24;
  note = "the input's " + subtypeName(subtype) + " samples cannot be written as " +
         containerName(container) + "; writing 24-bit";
  return {};
}

std::string describeFormat(int format) { return subtypeName(format) + " " + containerName(format); }

bool isIntegerFormat(int format) {
  int subtype = format & SF_FORMAT_SUBMASK;
  return subtype != SF_FORMAT_FLOAT && subtype != SF_FORMAT_DOUBLE;
}

}  // namespace zelrender
