# Sourced by scripts/test: starts a private MariaDB server on 127.0.0.1 for the db tests,
# creates the score board's database, account and `scoreboard` table, and exports what the
# tests read: CAV_DB_HOST, CAV_DB_PORT, CAV_DB_USER, CAV_DB_PASSWORD, CAV_DB_NAME.
# Its stop joins CAV_STOP_SERVERS.
_cav_db_dir=$(mktemp -d /tmp/cav-db-XXXXXX)
_cav_db_sock=$_cav_db_dir/mysqld.sock
# A free port: ask the kernel for one, then give it to the server.
_cav_db_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
_cav_db_pid=""
if ! mariadb-install-db --no-defaults --user=root --datadir="$_cav_db_dir/data" \
    --auth-root-authentication-method=socket --skip-test-db >"$_cav_db_dir/install.log" 2>&1; then
  echo "start-mariadb: mariadb-install-db failed (see $_cav_db_dir/install.log)" >&2
else
  mariadbd --no-defaults --user=root --datadir="$_cav_db_dir/data" --socket="$_cav_db_sock" \
    --port="$_cav_db_port" --bind-address=127.0.0.1 --skip-name-resolve \
    --pid-file="$_cav_db_dir/mysqld.pid" --log-error="$_cav_db_dir/error.log" \
    2>>"$_cav_db_dir/error.log" &
  _cav_db_pid=$!
  for _ in $(seq 1 200); do
    mariadb --no-defaults --socket="$_cav_db_sock" -u root -e 'SELECT 1' >/dev/null 2>&1 && break
    sleep 0.05
  done
  if mariadb --no-defaults --socket="$_cav_db_sock" -u root >"$_cav_db_dir/setup.log" 2>&1 <<'SQL'
CREATE DATABASE skyscore_j7ax;
CREATE USER 'skyscore_j7ax'@'127.0.0.1' IDENTIFIED BY '4#kR7zq';
GRANT ALL PRIVILEGES ON skyscore_j7ax.* TO 'skyscore_j7ax'@'127.0.0.1';
CREATE TABLE skyscore_j7ax.scoreboard (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  playerName VARCHAR(32),
  score INT,
  dateadded VARCHAR(32)
) DEFAULT CHARSET=utf8mb4;
SQL
  then
    CAV_DB_HOST=127.0.0.1
    CAV_DB_PORT=$_cav_db_port
    CAV_DB_USER=skyscore_j7ax
    CAV_DB_PASSWORD='4#kR7zq'
    CAV_DB_NAME=skyscore_j7ax
    export CAV_DB_HOST CAV_DB_PORT CAV_DB_USER CAV_DB_PASSWORD CAV_DB_NAME
    echo "start-mariadb: score database on 127.0.0.1:$CAV_DB_PORT"
  else
    echo "start-mariadb: the test database could not be set up (see $_cav_db_dir/setup.log)" >&2
  fi
fi
CAV_STOP_SERVERS="${CAV_STOP_SERVERS:+$CAV_STOP_SERVERS; }${_cav_db_pid:+kill $_cav_db_pid 2>/dev/null; wait $_cav_db_pid 2>/dev/null; }rm -rf $_cav_db_dir"
