// The data file's rows for a recording, and back.
#include <mutex>

#include "platform/data_rows.h"
#include "platform/data_store.h"
#include "platform/output_file.h"

namespace ce {

namespace {

using data_rows::Value;

Value ColumnValue(const detail::Statement& row, int column) {
  Value v;
  switch (row.ColumnType(column)) {
    case SQLITE_INTEGER:
      v.type = Value::kInteger;
      v.integer = row.Int(column);
      break;
    case SQLITE_FLOAT:
      v.type = Value::kReal;
      v.real = row.Real(column);
      break;
    case SQLITE_TEXT:
      v.type = Value::kText;
      v.bytes = row.Text(column);
      break;
    case SQLITE_BLOB: {
      v.type = Value::kBlob;
      std::vector<BYTE> blob = row.Blob(column);
      v.bytes.assign(blob.begin(), blob.end());
      break;
    }
    default:
      break;
  }
  return v;
}

void BindValue(detail::Statement* insert, int index, const Value& v) {
  switch (v.type) {
    case Value::kInteger:
      insert->Bind(index, v.integer);
      break;
    case Value::kReal:
      insert->BindReal(index, v.real);
      break;
    case Value::kText:
      insert->Bind(index, v.bytes);
      break;
    case Value::kBlob:
      insert->BindBlob(index, v.bytes.data(), v.bytes.size());
      break;
    case Value::kNull:
      break;  // a parameter left unbound is null
  }
}

}  // namespace

std::vector<std::string> DataRows(std::string* skipped) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  detail::DataStore* store = detail::OpenDataStore();
  std::vector<std::string> rows;
  for (const data_rows::Table& table : data_rows::kTables) {
    std::string sql =
        std::string("SELECT ") + table.columns + " FROM " + table.name + " ORDER BY rowid";
    detail::Statement select(store->db(), sql.c_str());
    while (select.Step()) {
      std::string row = table.name;
      for (int c = 0; c < table.count; ++c) {
        row.push_back(' ');
        row += FormatValue(ColumnValue(select, c));
      }
      if (row.size() > data_rows::kLongestRow || rows.size() == data_rows::kMostRows) {
        if (skipped != nullptr) *skipped = table.name;
        continue;
      }
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

bool RestoreDataRows(const std::vector<std::string>& rows) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  detail::DataStore* store = detail::OpenDataStore();
  DWORD error = store->Write([&]() -> DWORD {
    for (const data_rows::Table& table : data_rows::kTables) {
      std::string sql = std::string("DELETE FROM ") + table.name;
      if (!detail::Statement(store->db(), sql.c_str()).Run()) return ERROR_DISK_FULL;
    }
    for (const std::string& row : rows) {
      const data_rows::Table* table = nullptr;
      std::vector<Value> values;
      if (!data_rows::ParseRow(row, &table, &values)) return ERROR_INVALID_PARAMETER;
      std::string sql =
          std::string("INSERT INTO ") + table->name + "(" + table->columns + ") VALUES(?";
      for (int c = 1; c < table->count; ++c) sql += ", ?";
      sql += ")";
      detail::Statement insert(store->db(), sql.c_str());
      for (int c = 0; c < table->count; ++c) BindValue(&insert, c + 1, values[c]);
      if (!insert.Run()) return detail::DataStore::WriteError(insert.rc());
    }
    return ERROR_SUCCESS;
  });
  return error == ERROR_SUCCESS;
}

bool KeepDataFile(const std::string& suffix, std::string* kept) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  kept->clear();
  if (DataRows(nullptr).empty()) return true;
  detail::DataStore* store = detail::OpenDataStore();
  const char* file = sqlite3_db_filename(store->db(), "main");
  if (file == nullptr || file[0] == 0) return false;
  // The file as it stands, with what its log holds.
  sqlite3_int64 size = 0;
  unsigned char* bytes = sqlite3_serialize(store->db(), "main", &size, 0);
  if (bytes == nullptr) return false;
  const std::string path = std::string(file) + suffix;
  const bool written = WriteFileReplacing(path, bytes, static_cast<std::size_t>(size));
  sqlite3_free(bytes);
  if (written) *kept = path;
  return written;
}

}  // namespace ce
