#include "support/NginxServer.h"

#include "support/LoopbackServer.h"
#include "support/TestCertificate.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string FindNginx()
{
    for (const char* candidate : { "/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx" })
        if (::access(candidate, X_OK) == 0)
            return candidate;
    throw std::runtime_error("nginx is not installed (Debian package nginx-light; run scripts/setup)");
}

bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

std::string Configuration(const std::string& prefix, const std::string& root, int port, int tlsPort,
    const std::string& serverDirectives)
{
    std::ostringstream conf;
    conf << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
         << "pid " << prefix << "/nginx.pid;\nerror_log " << prefix << "/error.log warn;\n"
         << "events { worker_connections 128; }\n"
         << "http {\n  access_log off;\n"
         << "  client_body_temp_path " << prefix << "/body;\n"
         << "  proxy_temp_path " << prefix << "/proxy;\n"
         << "  fastcgi_temp_path " << prefix << "/fastcgi;\n"
         << "  uwsgi_temp_path " << prefix << "/uwsgi;\n"
         << "  scgi_temp_path " << prefix << "/scgi;\n"
         << "  types { text/html html htm; text/plain txt; image/png png; }\n"
         << "  default_type application/octet-stream;\n"
         << "  server {\n"
         << "    listen 127.0.0.1:" << port << ";\n"
         << "    listen 127.0.0.1:" << tlsPort << " ssl;\n"
         << "    server_name localhost;\n"
         << "    ssl_certificate " << TestCertificate::ServerCertificateFile() << ";\n"
         << "    ssl_certificate_key " << TestCertificate::ServerKeyFile() << ";\n"
         << "    root " << root << ";\n"
         << serverDirectives << "\n  }\n}\n";
    std::string text = conf.str();
    for (auto [name, value] :
        { std::pair { std::string("{port}"), port }, std::pair { std::string("{tls_port}"), tlsPort } })
        for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at))
            text.replace(at, name.size(), std::to_string(value));
    return text;
}

}

NginxServer::NginxServer(const std::string& root, const std::string& serverDirectives)
    : m_port(LoopbackServer::RefusedPort())
{
    do
        m_tlsPort = LoopbackServer::RefusedPort();
    while (m_tlsPort == m_port);
    const std::string nginx = FindNginx();
    const std::string prefix = m_prefix.Root();
    m_prefix.Write("nginx.conf", Configuration(prefix, root, m_port, m_tlsPort, serverDirectives));

    const std::string conf = prefix + "/nginx.conf";
    const std::string errorLog = prefix + "/error.log";
    std::vector<std::string> args { nginx, "-c", conf, "-p", prefix + "/", "-e", errorLog };
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (int rc = ::posix_spawn(&m_pid, nginx.c_str(), nullptr, nullptr, argv.data(), environ); rc != 0)
        throw std::runtime_error("cannot start nginx: error " + std::to_string(rc));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Accepts(m_port) || !Accepts(m_tlsPort)) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid || std::chrono::steady_clock::now() > deadline) {
            if (::kill(m_pid, 0) == 0) {
                ::kill(m_pid, SIGKILL);
                ::waitpid(m_pid, &status, 0);
            }
            m_pid = -1;
            throw std::runtime_error("nginx did not start: " + m_prefix.Read("error.log"));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

NginxServer::~NginxServer()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
}

std::string NginxServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string NginxServer::TlsUrl(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(m_tlsPort) + path;
}

std::vector<std::string> NginxServer::RequestsIn(const std::string& accessLog)
{
    std::vector<std::string> requests;
    std::ifstream log(accessLog);
    for (std::string line; std::getline(log, line);) {
        std::size_t open = line.find('"');
        std::size_t end = line.find(" HTTP/", open);
        if (open != std::string::npos && end != std::string::npos)
            requests.push_back(line.substr(open + 1, end - open - 1));
    }
    return requests;
}
