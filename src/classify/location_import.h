#pragma once

#include <string>

namespace tessaril {

class Frontend;
class LocationData;

// "更新号段数据...": a segment table picked by the user is validated whole (see segment_table.h)
// and, when every data line is good, written as the user's own addrdat/sms.dll and add.txt in the
// folder of the settings file, then loaded in place of the data in use. With any bad line, or a
// file that cannot be read, nothing is written and the data in use stays.
void ImportLocationData(LocationData& locations, const std::string& data_folder,
                        const std::string& settings_path, Frontend& frontend);

// "恢复随程序安装的号段数据": removes the user's copies and loads the shipped data again.
void ResetLocationData(LocationData& locations, const std::string& data_folder,
                       const std::string& settings_path, Frontend& frontend);

// What `location-info` prints: which data is in use ("shipped" or "user") and its path, its
// segment count, the count of each three-digit beginning 130 to 199 (and any other that has
// segments), then the beginnings 130 to 199 that have none.
std::string DescribeLocationData(LocationData& locations, const std::string& data_folder,
                                 const std::string& settings_path, Frontend& frontend);

}  // namespace tessaril
